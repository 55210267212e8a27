// The font library keeps its configuration for the life of the process and
// the leak checker counts it; nothing of ours is hidden by this.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }
