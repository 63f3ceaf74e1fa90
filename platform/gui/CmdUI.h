#pragma once
// An update request for one command: the handler says whether the command carries a check mark.

struct CCmdUI {
    int m_nID = 0;
    bool m_checked = false;
    void SetCheck(int check) { m_checked = check != 0; }
};
