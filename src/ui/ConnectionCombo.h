#pragma once

class CComboBox;
class CNetworkInfo;

// Lists every connection in connection-index order, so that an entry's
// position is its connection index, and selects the last one named
// pszDefault, else the first. An adapter without a name is listed too.
void FillConnectionCombo(CComboBox& combo, const CNetworkInfo& networkInfo, const char* pszDefault);
