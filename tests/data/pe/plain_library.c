/* A library without a version resource. */
__declspec(dllexport) int PlainValue(void) { return 7; }
