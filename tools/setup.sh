# Sourced by test.sh and run.sh: installs the Debian packages the build and the
# tests need, and the zh_CN.UTF-8 locale, only when something is missing.
packages=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix wine64 xvfb xdotool openbox
          imagemagick xclip x11-utils locales fonts-wqy-microhei googletest libgtest-dev
          libbenchmark-dev libcpp-httplib-dev pkg-config clang libclang-rt-14-dev curl)

install_missing() {
  local missing=() p sudo=
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
  if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    echo "generating the zh_CN.UTF-8 locale"
    $sudo sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
  fi
}
