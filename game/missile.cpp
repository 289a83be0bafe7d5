#include "game/missile.h"

missilerec missile[MAXMISSILES];
