#include "keys/customer_key.h"

SharedText g_customerKey;

int LoadDefaultCustomerKey() { return 1; }

int SaveCustomerKey(QString) { return 1; }

void CInputCustomerKey::OnCommand(int, DialogWindow&) {}

void OnInputCustomerKey(Dialog&) {}
