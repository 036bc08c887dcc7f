#include "app/message_map.h"

#include <array>
#include <utility>

#include "burn/burn_procedure.h"
#include "burn/token_clock.h"
#include "keys/customer_key.h"
#include "loops/loops.h"
#include "res/resource.h"
#include "seeds/seed_commands.h"
#include "seeds/seed_source.h"

namespace {

constexpr std::array<std::pair<int, CommandHandler>, 13> kCommands{{
    {IDC_SELECT_SEEDS_FILE, &OnSelectSeedsFile},
    {ID_ABOUT_ONDREL, &OnInputCustomerKey},
    {IDC_BURN_SEED, &OnBurnSeed},
    {IDC_CLEAR_LOG, &OnClearLog},
    {IDC_CONNECT, &OnConnect},
    {IDC_SEAL, &OnSeal},
    {IDC_CURRENT_TIME, &OnCurrentTime},
    {IDC_SET_TIME, &OnSetTime},
    {IDC_CLEAR_SEED, &OnClearSeed},
    {IDC_RANDOM_SEED, &OnRandomSeed},
    {IDC_SAVE_CSV, &OnSaveCsvClicked},
    {IDC_ONLINE_DOCS, &OnOnlineDocumentation},
    {IDC_TEST_SEED, &OnTestCurrentSeed},
}};

}  // namespace

CommandHandler FindCommandHandler(int id) {
    for (const auto& [command, handler] : kCommands)
        if (command == id) return handler;
    return nullptr;
}

void OnClearLog(Dialog& dlg) {
    dlg.ui.ListDeleteAll(IDC_LOG_LIST);
}
