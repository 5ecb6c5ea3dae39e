#include "seriallink.h"
// Implementation in progress.
