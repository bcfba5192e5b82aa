#include "support/ZYN_filesys.h"

namespace zyn {

std::string StripExtension(const std::string& FileName) { return ChangeFileExt(FileName, ""); }

std::string StripPath(const std::string& FileName) { return ExtractFileName(FileName); }

} // namespace zyn
