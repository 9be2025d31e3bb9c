# The SDK's layers: each folder of src/ is an OBJECT library that names the layers it stands on.
# A layer sees its own headers and those of the layers it depends on (directly or through
# them), nothing else: its include root is a folder in the build tree holding one link named
# like the source folder (build/layers/model/model -> src/model), exported to its dependents
# only. Includes stay written from src/ ("model/Sale.h"), and an include across a missing edge
# fails to compile. The shared library TarvelloSDK is assembled from every declared layer.

set(TARVELLO_LAYER_ROOT ${CMAKE_BINARY_DIR}/layers)
set_property(GLOBAL PROPERTY TARVELLO_LAYERS "")

# Settings every layer compiles with.
add_library(tarvello_layer_settings INTERFACE)
target_compile_definitions(tarvello_layer_settings INTERFACE
    TARVELLO_DEFAULT_BASE_URL="${TARVELLO_BASE_URL}"
    TARVELLO_VERSION="${PROJECT_VERSION}")
target_include_directories(tarvello_layer_settings INTERFACE ${CMAKE_SOURCE_DIR}/include)

# tarvello_add_precompiled_headers(<name> LIBS <lib>... HEADERS <header>...)
# Precompiles headers once for every layer built with the same libraries (the same compile
# definitions, so the same Qt modules); a layer names it with PCH <name>.
function(tarvello_add_precompiled_headers name)
    cmake_parse_arguments(PARSE_ARGV 1 P "" "" "LIBS;HEADERS")
    if(NOT TARVELLO_PRECOMPILED_HEADERS)
        return()
    endif()
    set(source ${TARVELLO_LAYER_ROOT}/pch_${name}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "// Only the precompiled headers are built here.\n")
    add_library(tarvello_pch_${name} OBJECT ${source})
    set_target_properties(tarvello_pch_${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_link_libraries(tarvello_pch_${name} PRIVATE tarvello_layer_settings ${P_LIBS})
    target_precompile_headers(tarvello_pch_${name} PRIVATE ${P_HEADERS})
endfunction()

# tarvello_add_layer(<name> <folder under src/> [DEPENDS <layer>...] [PUBLIC_LIBS <lib>...]
#                    [PRIVATE_LIBS <lib>...] [PCH <precompiled headers>])
# Declare a folder's layers nested in it first (model/values before model): the folder's
# files go to the layer of the nearest declared folder.
function(tarvello_add_layer name dir)
    cmake_parse_arguments(PARSE_ARGV 2 L "" "PCH" "DEPENDS;PUBLIC_LIBS;PRIVATE_LIBS")
    set(source_dir ${CMAKE_SOURCE_DIR}/src/${dir})
    if(NOT IS_DIRECTORY ${source_dir})
        message(FATAL_ERROR "Layer ${name}: no folder src/${dir}")
    endif()
    get_property(layers GLOBAL PROPERTY TARVELLO_LAYERS)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${source_dir}/*.cpp ${source_dir}/*.h)
    foreach(other IN LISTS layers)
        get_property(other_dir GLOBAL PROPERTY TARVELLO_LAYER_DIR_${other})
        string(FIND "${other_dir}/" "${dir}/" at)
        if(at EQUAL 0)
            list(FILTER sources EXCLUDE REGEX "^${CMAKE_SOURCE_DIR}/src/${other_dir}/")
        endif()
        string(FIND "${dir}/" "${other_dir}/" at)
        if(at EQUAL 0)
            message(FATAL_ERROR "Layer ${name}: declare it before ${other} (src/${other_dir})")
        endif()
    endforeach()

    # The include root: build/layers/<name>/<dir> links to src/<dir>.
    set(root ${TARVELLO_LAYER_ROOT}/${name})
    get_filename_component(link_parent ${root}/${dir} DIRECTORY)
    file(MAKE_DIRECTORY ${link_parent})
    file(CREATE_LINK ${source_dir} ${root}/${dir} SYMBOLIC)

    set(target tarvello_${name})
    add_library(${target} OBJECT ${sources})
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${root}>)
    target_link_libraries(${target} PUBLIC tarvello_layer_settings)
    foreach(dependency IN LISTS L_DEPENDS)
        target_link_libraries(${target} PUBLIC tarvello_${dependency})
    endforeach()
    if(L_PUBLIC_LIBS)
        target_link_libraries(${target} PUBLIC ${L_PUBLIC_LIBS})
        set_property(GLOBAL APPEND PROPERTY TARVELLO_LAYER_PUBLIC_LIBS ${L_PUBLIC_LIBS})
    endif()
    if(L_PRIVATE_LIBS)
        target_link_libraries(${target} PRIVATE ${L_PRIVATE_LIBS})
    endif()
    if(L_PCH AND TARVELLO_PRECOMPILED_HEADERS)
        target_precompile_headers(${target} REUSE_FROM tarvello_pch_${L_PCH})
    endif()

    set_property(GLOBAL PROPERTY TARVELLO_LAYER_DIR_${name} ${dir})
    set_property(GLOBAL APPEND PROPERTY TARVELLO_LAYERS ${name})
endfunction()

# The shared library from every declared layer, and tarvello_internal: the library plus every
# layer's headers, for the tests, benchmarks and demo (never for a host).
function(tarvello_assemble_layers library)
    get_property(layers GLOBAL PROPERTY TARVELLO_LAYERS)
    get_property(public_libs GLOBAL PROPERTY TARVELLO_LAYER_PUBLIC_LIBS)
    list(REMOVE_DUPLICATES public_libs)
    add_library(tarvello_internal INTERFACE)
    add_library(TarvelloSDK::internal ALIAS tarvello_internal)
    target_link_libraries(tarvello_internal INTERFACE ${library} tarvello_layer_settings
        ${public_libs})
    foreach(name IN LISTS layers)
        target_link_libraries(${library} PRIVATE tarvello_${name})
        target_include_directories(tarvello_internal INTERFACE ${TARVELLO_LAYER_ROOT}/${name})
    endforeach()
endfunction()
