option(KALKORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(KALKORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzz builds instrument everything for coverage; only the fuzz targets link libFuzzer's main.
if(KALKORA_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
