#!/usr/bin/env bash
# The real launcher starts the demo installer on the machine's JDK, in fresh install folders
# whose paths hold blanks, and the installer reports what it received.
# Usage: demo_jdk_test.sh <launcher binary> <folder of the demo archives> <javac of the JDK>
set -u

launcher=$1
archives=$2
javac=${3:-}

skip() {
  echo "skipped: $1"
  exit 77  # CTest's SKIP_RETURN_CODE
}
[[ -n $javac && -x $javac ]] || skip "no JDK"
jdk=$(dirname "$(dirname "$(readlink -f "$javac")")")
[[ -x $jdk/bin/java ]] || skip "no java beside $javac"
[[ -f $archives/setup.jar ]] || skip "the demo archives were not built"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
elsewhere="$work/not the install folder"
mkdir -p "$elsewhere"
passed=0
failed=0

# A fresh install folder named $1 holding the launcher, the installer archives but the one
# marking the platform, the JDK as its "java" folder, and the marker files $2...; prints the
# folder's physical path.
make_install_folder() {
  local folder="$work/install $1"
  shift
  mkdir -p "$folder/lib"
  cp "$launcher" "$folder/install"
  cp "$archives/setup.jar" "$archives/preSetup.jar" "$folder/"
  cp "$archives/lib/status.jar" "$archives/lib/corvel.jar" "$folder/lib/"
  ln -s "$jdk" "$folder/java"
  local file
  for file in "$@"; do
    if [[ -f $archives/$file ]]; then
      cp "$archives/$file" "$folder/$file"
    else
      touch "$folder/$file"
    fi
  done
  (cd "$folder" && pwd -P)
}

# Runs the launcher of folder $1 from the current folder with the arguments $2...;
# sets $out (standard output and error of the launcher and the JVM) and $status.
launch() {
  local folder=$1
  shift
  out=$("$folder/install" "$@" 2>&1)
  status=$?
}

# check <what> <command...>: counts the command's success; on failure shows what ran.
check() {
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $what"
    local lines
    mapfile -t lines <<<"$out"
    printf '    | %s\n' "${lines[@]}"
  fi
}
has_line() { grep -qxF -- "$1" <<<"$out"; }
# The installer's arguments, one per line, exactly as the JVM handed them to main.
arguments_are() { [[ $(sed -n 's/^arg\[[0-9]*\]=//p' <<<"$out") == "$(printf '%s\n' "$@")" ]]; }

# (a) Run mode, started from another folder: the installer runs in the install folder,
# gets the forwarded arguments as typed with -silent last, the default heap and the exit
# code its response file names.
folder=$(make_install_folder "run")
response="$elsewhere/my response.txt"
printf 'installLocation=/opt/vantora demo\nexitCode=7\n' >"$response"
cd "$elsewhere" || exit 1
launch "$folder" -options "$response" -silent somearg "an arg with blanks" -is:log install.log
check "run: main class" has_line "main=run"
check "run: class path" has_line "java.class.path=setup.jar"
check "run: working folder" has_line "user.dir=$folder"
check "run: arguments" arguments_are -options "$response" somearg "an arg with blanks" -silent
check "run: -Xms" has_line "jvm.option=-Xms256m"
check "run: -Xmx" has_line "jvm.option=-Xmx512m"
check "run: response file read" has_line "options.line=installLocation=/opt/vantora demo"
check "run: exit code passed through" test "$status" -eq 7
check "run: the launcher adds no output of its own" \
  test "$(sed -n '1p;$p' <<<"$out")" == $'main=run\nexitCode=7'
check "run: the log names the JDK it chose" \
  test "$(tail -n 1 install.log)" == "Using java in $folder/java/bin/java"

# (b) The launch modes chosen by marker files; a relative response file is found both by the
# launcher (in its current folder) and by the installer (in its working folder).
while read -r name markers main first; do
  marker_files=()
  [[ $markers == - ]] || IFS=, read -ra marker_files <<<"$markers"
  folder=$(make_install_folder "$name" "${marker_files[@]}")
  printf 'exitCode=3\n' >"$folder/response.txt"
  cd "$folder" || exit 1
  launch "$folder" -options response.txt "two words"
  expected=(-options response.txt "two words")
  [[ $first == - ]] || expected=("$first" "${expected[@]}")
  check "$name: main class" has_line "main=$main"
  check "$name: arguments" arguments_are "${expected[@]}"
  check "$name: not silent" has_line "Installing Vantora Demo..."
  check "$name: exit code" test "$status" -eq 3
done <<'EOF'
plain          -                                                  run             -
media          mediaSpanInfo.xml                                  PreInstallSetup -
platform       lib/tarnixLogServiceOverride.jar                   run             -tarnixqel
platform-media lib/tarnixLogServiceOverride.jar,mediaSpanInfo.xml PreInstallSetup -tarnixqel
EOF
check "platform-media: full class path" has_line \
  "java.class.path=lib/status.jar:lib/tarnixLogServiceOverride.jar:lib/corvel.jar:preSetup.jar:setup.jar"

# (c) JVM parameters and a temporary folder with a blank reach the JVM itself, not main.
folder=$(make_install_folder "jvm")
tempdir="$work/my temp"
mkdir -p "$tempdir"
cd "$elsewhere" || exit 1
launch "$folder" 'VANTORA_JVM_PARAMS="-Ddemo.flag=on -Ddemo.other=two"' \
  -is:tempdir "$tempdir" -Xmx 300m -Xms 100m
check "jvm: first parameter" has_line "property demo.flag=on"
check "jvm: second parameter" has_line "property demo.other=two"
check "jvm: temporary folder" has_line "java.io.tmpdir=$tempdir"
check "jvm: initial heap" has_line "jvm.option=-Xms100m"
check "jvm: maximum heap" has_line "jvm.option=-Xmx300m"
check "jvm: no argument left for main" arguments_are

# (d) The bundle class prints the text for a key in the user's language, with the megabytes
# the launcher appends to the key put into the message.
bundle_class=com.orrin.vantora.install.quon.framework.resourcebundle.ExternalQuonResourceBundleUtils
while IFS='|' read -r language key text; do
  out=$(LC_ALL=C.UTF-8 "$jdk/bin/java" "-Duser.language=$language" \
    -classpath "$archives/setup.jar" "$bundle_class" "$key" 2>&1)
  check "bundle $language $key" test "$out" == "$text"
done <<'EOF'
en|uninstall.insufficientSpace151|Not enough space to prepare the uninstaller. 151 MB are needed.
de|uninstall.insufficientSpace151|Nicht genügend Speicherplatz für das Deinstallationsprogramm. Es werden 151 MB benötigt.
en|uninstall.initializingUninstall|Preparing the uninstaller, please wait...
de|uninstall.initializingUninstall|Das Deinstallationsprogramm wird vorbereitet, bitte warten...
en|Title.error|Error
de|Title.error|Fehler
fr|Title.error|Error
de|no.such.key|no.such.key
EOF

# (e) An uninstaller folder with a small runtime beside it as "jre": the launcher shows the
# please-wait text of the bundle class in the user's language, copies the runtime in, starts
# the uninstaller from the copy and leaves nothing in the temporary folder.
german=()
if locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  german=(LANG=de_DE.UTF-8)
else
  # A locale of the test's own where the system has none installed; localedef may warn and
  # still make it.
  mkdir -p "$work/locales"
  localedef -i de_DE -f UTF-8 "$work/locales/de_DE.UTF-8" >/dev/null 2>&1
  if [[ -f $work/locales/de_DE.UTF-8/LC_CTYPE ]]; then
    german=(LOCPATH="$work/locales" LANG=de_DE.UTF-8)
  fi
fi
image="$work/jre image"
if [[ ! -x $jdk/bin/jlink ]]; then
  echo "skipped: the uninstaller cases (no jlink in $jdk)"
elif ! "$jdk/bin/jlink" --add-modules java.base,java.management --strip-debug \
  --no-header-files --no-man-pages --output "$image" >/dev/null 2>&1; then
  echo "skipped: the uninstaller cases (jlink failed)"
else
  ((${#german[@]} > 0)) || echo "skipped: the German uninstaller case (no German locale)"
  while IFS='|' read -r language text; do
    environment=(LANG=C.UTF-8)
    if [[ $language == de ]]; then
      ((${#german[@]} > 0)) || continue
      environment=("${german[@]}")
    fi
    base="$work/uninstaller $language"
    mkdir -p "$base/uninstall" "$base/temp"
    cp -a "$image" "$base/jre"
    cp "$launcher" "$base/uninstall/install"
    cp "$archives/setup.jar" "$base/uninstall/"
    folder=$(cd "$base/uninstall" && pwd -P)
    cd "$elsewhere" || exit 1
    rm -f uninstall.log
    out=$(env -u LC_ALL -u LC_MESSAGES -u LC_CTYPE "${environment[@]}" TMPDIR="$base/temp" \
      "$folder/install" -is:log uninstall.log 2>"$work/stderr")
    status=$?
    check "uninstall $language: please-wait text first" \
      test "$(head -n 1 <<<"$out")" == "$text "
    check "uninstall $language: exit code" test "$status" -eq 0
    check "uninstall $language: nothing on standard error" test ! -s "$work/stderr"
    expected_log=""
    for candidate in java/jre/bin java/bin jre/bin ../java/jre/bin ../java/bin ../jre/bin; do
      expected_log+="Looking for Java in: $folder/$candidate/java"$'\n'
    done
    expected_log+="Using java in $folder/jre/bin/java"
    check "uninstall $language: log" cmp -s uninstall.log <(printf '%s' "$expected_log")
    check "uninstall $language: runtime copied" diff -r "$image" "$folder/jre"
    check "uninstall $language: uninstaller ran from the copy" has_line "java.home=$folder/jre"
    check "uninstall $language: main class" has_line "main=run"
    check "uninstall $language: working folder" has_line "user.dir=$folder"
    check "uninstall $language: no temporary file left" test -z "$(ls -A "$base/temp")"
  done <<'EOF'
en|Preparing the uninstaller, please wait...
de|Das Deinstallationsprogramm wird vorbereitet, bitte warten...
EOF
fi

echo "$passed passed, $failed failed"
((failed == 0))
