#pragma once
// `qm config`: the operating settings and the three company profiles as JSON.
#include "cli/document_commands.h"
#include "model/company_info.h"
#include "model/config_info.h"

namespace qm::cli {

void ConfigCommand(const Invocation& in);

// The settings and company profiles of conf.ini in the data folder, with their images
// from its img folder.
void LoadSettings(const std::string& dataDir, TMxConfigInfo& config, TMxCampanyInfoManager& companies);
std::string ImageFolder(const std::string& dataDir);

}  // namespace qm::cli
