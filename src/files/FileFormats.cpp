#include "FileFormats.h"
