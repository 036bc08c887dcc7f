#include "burn/burn_procedure.h"

std::atomic<int32_t> g_totalCount{0};
std::atomic<int32_t> g_successCount{0};
std::atomic<int32_t> g_failCount{0};

void OnBurnSeed(Dialog&) {}
void BurnCurrentToken(Dialog&) {}
