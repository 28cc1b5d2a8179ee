#!/bin/sh
# The class benchmark: generates a class of 45 pupils' files (a school year
# each), imports them into a new class file, imports them all again, and
# times the class's tables on the command line.
#
#   sh bench/class_record/class_bench.sh BUILD_DIR [WORK_DIR]
set -eu
build=$1
work=${2:-$(mktemp -d)}
class=$work/班级.zorvel-class
rm -f "$class"
if [ ! -d "$work/files" ]; then
  "$build/bench/class_record/generate_class" "$work/files"
fi
tool=$build/tools/zorvel-class/zorvel-class
seconds() { python3 -c 'import sys,time; t=time.monotonic(); import subprocess; subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, check=False); print("%.2f" % (time.monotonic()-t))' "$@"; }
echo "files: $(ls "$work/files" | wc -l), $(du -sh "$work/files" | cut -f1)"
echo "first import:  $(seconds "$tool" --class "$class" import "$work"/files/*.zorvel) s"
echo "import again:  $(seconds "$tool" --class "$class" import "$work"/files/*.zorvel) s"
for table in pupils tests facts mistakes; do
  echo "$table: $(seconds "$tool" --class "$class" "$table") s"
done
