#pragma once
// The filters the commands set on the shared file dialogs ("Text|pattern|...").
namespace navforge {

inline constexpr const char* kMenuFilter = "Navforge File (*.nff)|*.nff";
inline constexpr const char* kHtmlFilter = "HTML (*.htm, *html)|*.htm; *.html|Alle Dateien (*.*)|*.*";
inline constexpr const char* kImageFilter = "GIF (*.gif)|*.gif|JPEG (*.jpg, *.jpeg)|*.jpg;*.jpeg";

}  // namespace navforge
