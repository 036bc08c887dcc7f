#include "burn/token_clock.h"

void FillUtcTime(Dialog&) {}
void OnCurrentTime(Dialog&) {}
void OnSetTime(Dialog&) {}
void OnSeal(Dialog&) {}
