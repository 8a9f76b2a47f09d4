#include "ui/ConnectionCombo.h"

#include "framework/ComboBox.h"
#include "net/NetworkInfo.h"

#include <cstring>

void FillConnectionCombo(CComboBox& combo, const CNetworkInfo& networkInfo, const char* pszDefault)
{
    const unsigned nCount = networkInfo.GetAdapterCount();
    for (unsigned i = 0; i < nCount; ++i) {
        const char* pszName = networkInfo.GetConnectionName(i);
        combo.AddString(pszName ? pszName : "(unnamed connection)");
    }
    combo.SetCurSel(0);
    for (unsigned i = 0; i < nCount; ++i) {
        const char* pszName = networkInfo.GetConnectionName(i);
        if (pszName && std::strcmp(pszName, pszDefault) == 0)
            combo.SetCurSel(static_cast<int>(i));
    }
}
