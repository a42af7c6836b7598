#include "google/googleabautoupdatedelegate.h"

GoogleABAutoUpdateDelegate::~GoogleABAutoUpdateDelegate() = default;
