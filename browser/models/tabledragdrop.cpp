#include "browser/models/tabledragdrop.h"

TableDragDrop::~TableDragDrop() = default;
