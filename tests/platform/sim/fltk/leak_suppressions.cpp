// The font library keeps its configuration and caches for the life of the
// process (FLTK never tells it to let go), which the leak checker would
// report at exit for every test that drew text.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
