// Identifiers of the texts of the capture layer, from 20000 to 20999.
// Plain defines, so that the resource script includes them too.
#pragma once

