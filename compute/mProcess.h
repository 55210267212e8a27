#pragma once
// When the computation runs: for the selected receptor after each edit
// (validated, then shown), or for every receptor of a case just opened.

class cStudy;

namespace mProcess {

// Validates the case (with messages when asked), computes the current
// receptor, marks the case processed and shows its results; an invalid case
// only empties the results sheet.
void processReceptor(cStudy& study, bool showMessages = false);

// Computes every receptor without validating or showing anything, against
// the current receptor's baselines.
void processAllReceptors(cStudy& study);

// Computes every receptor as if the user selected each in turn, so each is
// validated and computed against its own baselines, then selects again the
// receptor that was current (true even when none was). False when a receptor fails validation: that
// receptor is then left selected, with the case not processed, so the user
// sees what stops the export.
bool processEveryReceptor(cStudy& study);

}  // namespace mProcess
