#pragma once
#include "shell/window.h"
