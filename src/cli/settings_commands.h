#pragma once
// `qm config`: the operating settings and the three company profiles as JSON.
#include "cli/document_commands.h"
#include "session/session.h"

namespace qm::cli {

void ConfigCommand(const Invocation& in);

// The settings and company profiles of conf.ini in the session's data folder, with
// their images from its img folder.
void LoadSettings(AppSession& session);

}  // namespace qm::cli
