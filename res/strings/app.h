// Identifiers of the texts of the app layer, from 23000 to 23999.
// Plain defines, so that the resource script includes them too.
#pragma once

