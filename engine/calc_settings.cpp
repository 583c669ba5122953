#include "engine/calc_settings.h"

CalcSettings calcSettings;

void resetCalcSettings() { calcSettings = CalcSettings{}; }
