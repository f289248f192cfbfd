// Identifiers of the texts of the viewers layer, from 21000 to 21999.
// Plain defines, so that the resource script includes them too.
#pragma once

