#pragma once

class CComboBox;
class CNetworkInfo;

// Lists every connection in connection-index order, so that an entry's
// position is its connection index, and selects the last one named
// pszDefault, else the first. An adapter without a name is listed too.
void FillConnectionCombo(CComboBox& combo, const CNetworkInfo& networkInfo, const char* pszDefault);
// The connection index of the selection, when it names a connection.
bool SelectedConnection(const CComboBox& combo, const CNetworkInfo& networkInfo, unsigned& nConnection);
// Its connection name; none when nothing, or a connection without a name,
// is selected.
const char* SelectedConnectionName(const CComboBox& combo, const CNetworkInfo& networkInfo);
