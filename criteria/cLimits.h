#pragma once
// The limits manager without its dialog: stamping the current receptor's
// baselines into the criteria, so that the limits asked for next are that
// receptor's.

class cNoiseLimits;
class cStudy;

class cLimits {
public:
  cLimits(cNoiseLimits& limits, cStudy& study);

  // Daytime baseline into columns 1-2, evening into 3-4, nighttime into 5-6,
  // of the Lmax table and of the current metric's table. With no current
  // receptor the tables keep the baselines they have.
  void setBaselines();

  // Before the limits are shown: the current receptor must be complete (the
  // validator's message and active cell otherwise) and so must the criteria
  // ("Please complete the Noise Limit Criteria form", titled "VORN'"). The
  // criteria are checked quietly, so the user sees at most one message.
  bool readyToShow();

private:
  cNoiseLimits& limits_;
  cStudy& study_;
};
