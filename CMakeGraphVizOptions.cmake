# `cmake --graphviz=layers.dot build` draws the SDK's layers and the library made of them.
set(GRAPHVIZ_GRAPH_NAME "TarvelloSDK layers")
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_INTERFACE_LIBS FALSE)
set(GRAPHVIZ_EXECUTABLES FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS
    "tarvello_sandbox;tarvello_test_support;TarvelloSDKResources;tarvello_pch_.*")
