// A loadable library that exports neither entry point.
extern "C" __attribute__((visibility("default"))) int navforge_test_other_function() { return 7; }
