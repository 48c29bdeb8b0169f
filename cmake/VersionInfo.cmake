# navforge_version_info(<target> <file description>)
# Embeds the version-information block (CompanyName, FileDescription, FileVersion,
# LegalCopyright, ProductName, ProductVersion) into <target>.
function(navforge_version_info target description)
  # Filled in by the version-information layer.
endfunction()
