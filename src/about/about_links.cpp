#include "about/about_links.h"

namespace wolumetr {

std::string MailLink(std::string_view address) {
  return std::string("mailto:").append(address).append("?subject=").append(kMailSubject);
}

std::string AddressWithoutScheme(std::string_view url) {
  const std::size_t scheme = url.find("://");
  if (scheme != std::string_view::npos) url.remove_prefix(scheme + 3);
  if (url.size() > 1 && url.back() == '/' && url.find('/') == url.size() - 1) url.remove_suffix(1);
  return std::string(url);
}

}  // namespace wolumetr
