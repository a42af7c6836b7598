# Read by ctest after the discovered tests of tolvane_loader_webview_tests.
set_tests_properties(${tolvane_loader_webview_tests_TESTS} PROPERTIES ENVIRONMENT_MODIFICATION
    "QTWEBENGINE_DISABLE_SANDBOX=set:1;ASAN_OPTIONS=string_append::new_delete_type_mismatch=0")
