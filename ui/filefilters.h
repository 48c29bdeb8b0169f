#pragma once
// The filters the commands set on the shared file dialogs ("Text|pattern|...").
namespace navforge {

inline constexpr const char* kMenuFilter = "Navforge File (*.nff)|*.nff";
inline constexpr const char* kHtmlFilter = "HTML (*.htm, *html)|*.htm; *.html|Alle Dateien (*.*)|*.*";
// The formats a browser shows as a background, all of them first.
inline constexpr const char* kImageFilter =
    "Bilder (*.png, *.svg, *.webp, *.gif, *.jpg, *.jpeg)|*.png;*.svg;*.webp;*.gif;*.jpg;*.jpeg|"
    "PNG (*.png)|*.png|SVG (*.svg)|*.svg|WebP (*.webp)|*.webp|GIF (*.gif)|*.gif|JPEG (*.jpg, *.jpeg)|*.jpg;*.jpeg|"
    "Alle Dateien (*.*)|*.*";

}  // namespace navforge
