#pragma once
// What the About window says and where its two links lead.
#include <string>
#include <string_view>

namespace wolumetr {

inline constexpr std::string_view kAboutHeading = "Wolumetr v1.8.4";
inline constexpr std::string_view kAboutAuthorCaption = "Autor programu:";
inline constexpr std::string_view kAboutDescriptionCaption = "Opis programu:";
inline constexpr std::string_view kAboutAuthor = "Zespół Wolumetr";
inline constexpr std::string_view kContactAddress = "wolumetr@example.org";
inline constexpr std::string_view kHomePage = "https://wolumetr.example.org/";
inline constexpr std::string_view kLicenceLine = "Program udostępniany na licencji MIT";
inline constexpr std::string_view kMailSubject = "Temacik";

// What the shell is asked to open for the mail link: a new message to `address` with the
// program's subject.
std::string MailLink(std::string_view address);

// A web address as the window shows it: without its scheme, and without the slash that
// ends a bare host name.
std::string AddressWithoutScheme(std::string_view url);

}  // namespace wolumetr
