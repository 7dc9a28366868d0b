#include "shell/images.h"

// Until the picture screens are built: nothing is shown.
void Image__AffichageFondu(const char*, int32_t) {}
