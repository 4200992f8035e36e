#include "about/about_links.h"

namespace wolumetr {

std::string MailLink(std::string_view address) {
  std::string link = "mailto:";
  link += address;
  link += "?subject=";
  link += kMailSubject;
  return link;
}

std::string AddressWithoutScheme(std::string_view url) {
  const std::size_t scheme = url.find("://");
  if (scheme != std::string_view::npos) url.remove_prefix(scheme + 3);
  if (url.size() > 1 && url.back() == '/' && url.find('/') == url.size() - 1) url.remove_suffix(1);
  return std::string(url);
}

}  // namespace wolumetr
