// A screenshot-like test picture: flat interface colours, text, and a photo-like area.
#pragma once

#include <stdint.h>

#include <vector>

std::vector<uint32_t> MakeScreenshot(int width, int height);
