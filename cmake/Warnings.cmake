# The project's warning level, set in one place for every target: the
# libraries, the programs, the simulator and the tools, the tests, benchmarks
# and fuzz targets. CI turns warnings into errors (CORVANE_WERROR).
#
# Beyond -Wall -Wextra -Wpedantic: shadowing, silent narrowing and sign
# changes, C casts, polymorphic classes without a virtual destructor. Qt's int
# and qsizetype sizes are converted explicitly where they meet the core's
# std::size_t.
option(CORVANE_STRICT_WARNINGS "Warn on shadowing, narrowing, sign changes, C casts and non-virtual destructors" ON)

function(corvane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(CORVANE_STRICT_WARNINGS)
    target_compile_options(${target} PRIVATE -Wshadow -Wconversion -Wsign-conversion
      -Wold-style-cast -Wnon-virtual-dtor)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports impossible overlaps inside std::string at -O2 (a known
    # false positive of -Wrestrict).
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(CORVANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# The core libraries must never see Qt: refuse to configure if one links it.
function(corvane_core_library target)
  corvane_warnings(${target})
  set_property(TARGET ${target} PROPERTY CORVANE_CORE TRUE)
endfunction()

function(corvane_assert_no_qt target)
  get_target_property(libs ${target} LINK_LIBRARIES)
  if(libs)
    foreach(lib IN LISTS libs)
      if(lib MATCHES "^Qt")
        message(FATAL_ERROR "core library ${target} links ${lib}; the core must stay free of Qt")
      endif()
    endforeach()
  endif()
endfunction()

# Our Qt code uses connect() with lambdas only; Qt's keyword macros (slots,
# signals, emit) would clash with ordinary names in the core's headers.
function(corvane_qt_target target)
  corvane_warnings(${target})
  target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
endfunction()
