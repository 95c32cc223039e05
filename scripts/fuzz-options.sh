# Shared by fuzz.sh and fuzz-smoke.sh: how a fuzz target is run.
# run_fuzz_target BUILD_DIR TARGET [LIBFUZZER_OPTIONS...]
# The target's seed corpus grows in BUILD_DIR/fuzz-corpus/TARGET; a crashing
# input is kept in BUILD_DIR/fuzz-findings/TARGET and the run fails.
run_fuzz_target() {
  local build=$1 target=$2
  shift 2
  local here dict=() findings=$build/fuzz-findings/$target
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  case $target in
    fuzz_csv | fuzz_clipboard) dict=(-dict="$here/fuzz/dictionaries/csv.dict") ;;
    fuzz_profile_document | fuzz_phn | fuzz_phn_roundtrip | fuzz_language | fuzz_operator | \
      fuzz_backup_file | fuzz_card_profile) dict=(-dict="$here/fuzz/dictionaries/ini.dict") ;;
  esac
  mkdir -p "$findings" "$build/fuzz-corpus/$target"
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1} \
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
  PELMORA_CODEPAGE=${PELMORA_CODEPAGE:-1252} \
    "$build/bin/$target" -artifact_prefix="$findings/" "${dict[@]}" "$@" \
    "$build/fuzz-corpus/$target"
}
