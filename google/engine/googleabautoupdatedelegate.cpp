#include "google/engine/googleabautoupdatedelegate.h"

GoogleABAutoUpdateDelegate::~GoogleABAutoUpdateDelegate() = default;
