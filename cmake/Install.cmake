# The installable application directory: `cmake --install <build> --prefix <dir>/Palisademotion.app`
# lays out
#     bin/palisademotion
#     share/palisademotion/      resources, once the program ships files beside its binary
#     Info.json                  {"CFBundleShortVersionString": "<project version>"}
# The program updates itself only when it runs from such a directory.

install(TARGETS palisademotion RUNTIME DESTINATION bin)

set(STUDIO_BUNDLE_INFO "${PROJECT_BINARY_DIR}/bundle/Info.json")
file(CONFIGURE OUTPUT "${STUDIO_BUNDLE_INFO}" CONTENT [[
{
    "CFBundleShortVersionString": "@PROJECT_VERSION@"
}
]] @ONLY)
install(FILES "${STUDIO_BUNDLE_INFO}" DESTINATION .)

# scripts/package names the update archive after this.
file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/bundle/version.txt" CONTENT "@PROJECT_VERSION@\n" @ONLY)
