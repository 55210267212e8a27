#pragma once
// How the criteria dialog was left, and what that means for the study once
// it has closed: accepted criteria are computed again for the current
// receptor; accepted after the default criteria were loaded, the study also
// goes back to L10 with the default adjustment, as those criteria are meant.

class cStudy;

class cCriteriaOutcome {
public:
  bool accepted = false;
  bool defaultLoaded = false;  // the default criteria were loaded and then accepted

  // Applies the outcome: nothing when not accepted. After a default load the
  // study's adjustmentFactor becomes adjustmentFactorDefault, NoiseMetric
  // becomes 2 (L10) and the case is marked changed; either way the current
  // receptor is then computed and shown again, silently. The window only
  // shows the new metric and adjustment; it need not wait for its metric
  // list to announce a change, which it does not when L10 was already shown.
  void apply(cStudy& study) const;
};
