#pragma once
// Where the program keeps its files: the data folder with every file and subfolder it
// holds, named here once, and the folder of the input histories.
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

// The data folder. Folder paths end with a separator; file paths are full paths.
class DataFolder {
 public:
  explicit DataFolder(const std::string& root);
  static DataFolder Default() { return DataFolder(DefaultDataDir()); }

  const std::string& Root() const { return root_; }
  std::string ImgDir() const { return root_ + "img/"; }    // seals, logos, company seals
  std::string SaveDir() const { return root_ + "data/"; }  // the saved documents
  std::string ZipDir() const { return root_ + "zip/"; }    // the postal table

  std::string ConfIni() const { return root_ + "conf.ini"; }
  std::string PrintIni() const { return root_ + "print.ini"; }
  std::string CustomerFile() const { return root_ + "Customer.dat"; }
  std::string ItemFile() const { return root_ + "ItemList.dat"; }
  std::string ItemUnitFile() const { return root_ + "ItemUnit.dat"; }
  std::string ProxyFile() const { return root_ + "pro.dat"; }  // the update's proxy
  std::string PeppolFile() const { return root_ + "PeppolID.dat"; }  // the customers' e-invoice addresses
  std::string ZipFile() const { return ZipDir() + "zip.dat"; }
  std::string ZipVersionFile() const { return ZipDir() + "version.txt"; }

  // Creates the folder and its three subfolders when missing. Throws qm::Error naming
  // the first folder that cannot be made; the others are still tried.
  void Ensure() const;

  // Removes the stale temporaries of unfinished writes (RemoveStaleTemporaries of
  // atomic_file.h) from the folder and its three subfolders; answers how many.
  int RemoveStaleTemporaries() const;

 private:
  std::string root_;
};

}  // namespace qm
