# Project-wide compile flags: warnings, sanitizers.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
                    -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough)
if(ZOL_WARNINGS_AS_ERRORS)
  add_compile_options(-Werror)
endif()

if(ZOL_SANITIZE)
  add_compile_options(-fsanitize=${ZOL_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${ZOL_SANITIZE})
  if(ZOL_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()
