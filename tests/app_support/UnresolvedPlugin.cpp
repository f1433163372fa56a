// A plugin that needs a function nobody defines, as a plugin built against another version of the
// libraries would: loading it must fail, not the first call into it.
extern "C" int quarro_app_test_function_nobody_defines(int value);

extern "C" __attribute__((visibility("default"))) int quarro_app_test_plugin_entry(int value) {
    return quarro_app_test_function_nobody_defines(value) + 1;
}
