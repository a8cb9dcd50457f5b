#pragma once
// Where the program keeps its files.
#include <string>

namespace qm {

// $QUILLMARK_DATA_DIR when set, else the user's generic data location + "/Norvel/Brevik".
// No trailing separator. The folder is not created here.
std::string DefaultDataDir();

// $QUILLMARK_CONFIG_DIR when set, else the generic config location + "/Norvel/Brevik".
std::string DefaultConfigDir();

// Creates the folder and its parents when missing; throws qm::Error when it cannot.
void EnsureFolder(const std::string& path);

// Joins a folder and a name with one separator.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace qm
