#pragma once
// The placeholder pictures Orvane shows for listed applications that are not running:
// Icon\BlueIcon<n>.ico in the data folder, the application's icon on a blue frame.

#include <cstdint>
#include <string>

namespace orvane::kestrin {

std::wstring BlueIconPath(const std::wstring& dataFolder, std::int32_t number);
// Writes the picture of the application `fileName` (the system's application icon when the
// file has none). A picture that cannot be written is written again with the next save.
void WriteBlueIcon(const std::wstring& path, const std::wstring& fileName);

} // namespace orvane::kestrin
