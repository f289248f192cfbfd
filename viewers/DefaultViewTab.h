// The page that opens first for a node's format: the user's choice stored
// per format key, else the built-in rules of the capture.
#pragma once

#include "capture/CBData.h"

// The stored choice for the node's key, else its built-in page. A stored
// word that names no page still overrides the built-in rules, with the
// node's own page.
int GetDefaultViewTab(const CCBData& node);
// Stores `tab` as the page to open first for the node's key; a number that
// is no page stores nothing.
void SetDefaultViewTab(const CCBData& node, int tab);
