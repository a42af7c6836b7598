// The People face's photo URLs, served without a token as a photo host serves them: a stored
// photo at /photos/<account>/<local id>/<version>, the default one at /photos/default/<local id>.
#pragma once

#include "tools/gdata-server/http/httpmessage.h"
#include "tools/gdata-server/serverstate.h"

namespace photoserving {

bool handles(const QString &path);
HttpResponse serve(ServerState &state, const HttpRequest &request);

} // namespace photoserving
