// A host header that reaches up into an exporter: the layer check must refuse it.
#pragma once

#include "host/mesh.h"
#include "mesh_export/enum_mesh.h"
