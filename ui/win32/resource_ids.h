#pragma once

// Resource ids shared by kalkora.rc and the program.
#define KALKORA_ICON 1
#define KALKORA_BANNER 2
