#include "platform/TextMapper.h"
#include "platform/text/TableTextMapper.h"

namespace tarnvik::platform {

// Platforms without LCMapStringW map with the program's own tables.
const TextMapper& SystemTextMapper() {
  static const TableTextMapper mapper;
  return mapper;
}

}  // namespace tarnvik::platform
