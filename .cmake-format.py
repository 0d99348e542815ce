# How cmake-format lays out the CMake files; scripts/test.sh checks every one with it.
with section("parse"):
  # The project's own commands, so that their keywords are laid out like CMake's own.
  additional_commands = {
      "pos_video_folder_includes": {"pargs": {"nargs": "1+"}},
      "pos_video_windows_resources": {"pargs": {"nargs": 2}, "kwargs": {"MESSAGE_TABLE": 1}},
  }

with section("format"):
  # As wide as the C++ (.clang-format), indented as it is.
  line_width = 100
  tab_size = 2
  # Short calls stay on one line, however many keywords or arguments they have.
  max_subgroups_hwrap = 4
  max_pargs_hwrap = 12

with section("markup"):
  # Comments are prose written line by line; they are left as they stand.
  enable_markup = False
