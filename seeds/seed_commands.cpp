#include "seeds/seed_commands.h"

void OnClearSeed(Dialog&) {}
void OnRandomSeed(Dialog&) {}
void OnSaveCsvClicked(Dialog&) {}
void OnTestCurrentSeed(Dialog&) {}
void OnOnlineDocumentation(Dialog&) {}
