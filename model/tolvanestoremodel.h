#pragma once

#include "platform/store/managedobjectmodel.h"

#include <memory>

// The model of the shared store: every entity of the system and its named fetch templates.
std::shared_ptr<const ManagedObjectModel> tolvaneStoreModel();
