#pragma once
#include "model/ui/picture.h"
