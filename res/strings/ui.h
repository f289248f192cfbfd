// Identifiers of the texts of the ui layer, from 22000 to 22999.
// Plain defines, so that the resource script includes them too.
#pragma once

