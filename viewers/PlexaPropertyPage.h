// Base of every viewer page: the node the page shows, and the operation
// that makes the page the one that opens first for that node's format.
#pragma once

#include "capture/CBData.h"
#include "framework/PropertyPage.h"
#include "viewers/DefaultViewTab.h"

class CPlexaPropertyPage : public CPropertyPage {
public:
    CPlexaPropertyPage(UINT nIDTemplate, CCBData* node) : CPropertyPage(nIDTemplate), m_pData(node) {}

    // Stores this page's kind as the first page of the shown node's format;
    // nothing without a node.
    virtual void SaveAsDefaultViewTab() {}

    CCBData* m_pData;  // not owned; the document tells the view before it deletes nodes

protected:
    void StoreDefaultViewTab(int tab) const
    {
        if (m_pData)
            SetDefaultViewTab(*m_pData, tab);
    }
};
