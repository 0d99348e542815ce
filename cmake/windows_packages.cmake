# The Windows packages, an .msi and a .zip of the shipped programs (packaging/build_packages.sh),
# made by the windows_packages target whenever wixl, msitools and zip are there (Debian's wixl,
# msitools and zip packages; scripts/install_dependencies.sh installs them). scripts/package.sh
# builds them on their own, every time, signed when the POS_VIDEO_SIGN_* variables say so; the
# build signs them the same way when they are set (and refuses the same settings and certificates),
# but only remakes them when the programs change.
set(POS_VIDEO_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package CACHE PATH "Where the Windows packages go")

find_program(WIXL wixl)
find_program(MSIBUILD msibuild)
find_program(ZIP zip)
set(POS_VIDEO_MSI ${POS_VIDEO_PACKAGE_DIR}/pos-video-launcher-${PROJECT_VERSION}.msi)
set(POS_VIDEO_ZIP ${POS_VIDEO_PACKAGE_DIR}/pos-video-launcher-${PROJECT_VERSION}.zip)

if(WIXL AND MSIBUILD AND ZIP)
  add_custom_command(
    OUTPUT ${POS_VIDEO_MSI} ${POS_VIDEO_ZIP}
    COMMAND
      bash ${PROJECT_SOURCE_DIR}/packaging/build_packages.sh ${PROJECT_VERSION}
      $<TARGET_FILE:pos-video-launcher> $<TARGET_FILE:pos-video-check> ${POS_VIDEO_PACKAGE_DIR}
    DEPENDS pos-video-launcher
            pos-video-check
            ${PROJECT_SOURCE_DIR}/packaging/build_packages.sh
            ${PROJECT_SOURCE_DIR}/packaging/prepare_signed_run.sh
            ${PROJECT_SOURCE_DIR}/packaging/pos-video-launcher.wxs
            ${PROJECT_SOURCE_DIR}/packaging/README.txt
            ${PROJECT_SOURCE_DIR}/examples/termToInput.xml
            ${PROJECT_SOURCE_DIR}/.github/pos-video-check.json
    COMMENT "Windows packages in ${POS_VIDEO_PACKAGE_DIR}"
    VERBATIM)
  add_custom_target(windows_packages ALL DEPENDS ${POS_VIDEO_MSI} ${POS_VIDEO_ZIP})
else()
  message(STATUS "No Windows packages: wixl, msibuild or zip is missing "
                 "(scripts/install_dependencies.sh installs them)")
endif()
