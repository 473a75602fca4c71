#pragma once

// The product web site and its download page. No site has been chosen yet: while an
// address is empty, nothing offers to open it.
namespace WebAddresses {
inline constexpr char Website[] = "";
inline constexpr char DownloadPage[] = "";
}
