# Sourced by the scripts: a small Debian virtual machine for the Windows side, on a host
# whose kernel cannot run 32-bit x86 programs (Wine needs them). QEMU emulates a whole PC
# (no hardware acceleration is assumed), whose own kernel runs them; the repository and the
# build folder are shared into it at the same paths, so the host builds and the guest only
# runs Wine.
#
#   kivo_vm_needed           true when this machine cannot run 32-bit x86 programs itself
#   kivo_vm_prepare          makes the machine's disk once (kept in ~/.cache/kivo/vm-2)
#   kivo_vm_run SCRIPT ARGS  runs a bash script inside it; returns the script's exit status
#
# Expects BUILD_DIR (made if missing), and paths without spaces: the repository and BUILD_DIR
# are shared into the machine at the same paths.
KIVO_VM_DIR="${KIVO_VM_DIR:-${XDG_CACHE_HOME:-${HOME:-/root}/.cache}/kivo/vm-2}"
KIVO_VM_REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KIVO_VM_PREFIX=/opt/kivo/wine-prefix
# Everything in the machine is emulated: the tests stretch their waits and watchdogs.
KIVO_VM_TIME_SCALE=8

kivo_vm_needed() {
    # The 32-bit loader comes with Wine's 32-bit part; a kernel without 32-bit support
    # refuses it with "Exec format error".
    ! /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

kivo_vm_apt() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "vm: installing ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The guest's init: mounts the shared repository and runs the script the host left there,
# then switches the machine off. Its exit status goes back through a file.
kivo_vm_init_script() {
    cat <<'EOF'
#!/bin/sh
export PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root USER=root LOGNAME=root
mount -t proc proc /proc
mount -t sysfs sys /sys 2>/dev/null
mount -t devtmpfs dev /dev 2>/dev/null
mkdir -p /dev/pts /dev/shm /tmp
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /tmp
mount -o remount,rw /
setting() { sed -n "s/.* kivo\.$1=\([^ ]*\).*/\1/p" /proc/cmdline; }
repo=$(setting repo)
build=$(setting build)
modprobe 9pnet_virtio 2>/dev/null
for tag in repo build; do
    eval "path=\$$tag"
    mkdir -p "$path"
    mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000,cache=loose "$tag" "$path"
done
hostname kivo-vm
cd "$repo"
bash "$build/vm/job.sh" > /dev/ttyS0 2>&1
echo $? > "$build/vm/status"
sync
echo o > /proc/sysrq-trigger
sleep 60
EOF
}

kivo_vm_prepare() {
    kivo_vm_apt qemu-system-x86
    [ -f "$KIVO_VM_DIR/ready" ] && return 0
    kivo_vm_apt debootstrap e2fsprogs
    local root="$KIVO_VM_DIR/root"
    rm -rf "$KIVO_VM_DIR"
    mkdir -p "$KIVO_VM_DIR"
    echo "vm: making the test machine's disk (once; a few minutes)"
    debootstrap --variant=minbase \
        --include=linux-image-amd64,kmod,procps,cmake,xvfb,xauth,x11-utils \
        bookworm "$root" http://deb.debian.org/debian >"$KIVO_VM_DIR/debootstrap.log" 2>&1
    chroot "$root" dpkg --add-architecture i386
    chroot "$root" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive chroot "$root" apt-get install -y -qq --no-install-recommends \
        wine wine32:i386 fonts-wine >"$KIVO_VM_DIR/wine.log" 2>&1
    chroot "$root" apt-get clean
    kivo_vm_init_script >"$root/kivo-init"
    chmod +x "$root/kivo-init"
    cp "$root"/boot/vmlinuz-* "$KIVO_VM_DIR/vmlinuz"
    cp "$root"/boot/initrd.img-* "$KIVO_VM_DIR/initrd"
    mkfs.ext4 -q -F -L kivo -d "$root" "$KIVO_VM_DIR/disk.img" 4G
    rm -rf "$root"
    # A Wine prefix made once inside the machine and kept on its disk.
    mkdir -p "$BUILD_DIR/vm"
    cat >"$BUILD_DIR/vm/job.sh" <<EOF
export WINEPREFIX=$KIVO_VM_PREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p $KIVO_VM_PREFIX
Xvfb :90 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
export DISPLAY=:90
sleep 2
wineboot -i && wine reg add 'HKCU\\Software\\Wine\\X11 Driver' /v Managed /d N /f &&
    wineserver -w && cp -n /usr/share/wine/fonts/*.ttf $KIVO_VM_PREFIX/drive_c/windows/Fonts/ &&
    touch $KIVO_VM_PREFIX/.kivo-ready
EOF
    KIVO_VM_WRITABLE=1 kivo_vm_boot || return 1
    touch "$KIVO_VM_DIR/ready"
}

kivo_vm_boot() {
    rm -f "$BUILD_DIR/vm/status"
    local snapshot=(-snapshot)
    [ -n "${KIVO_VM_WRITABLE:-}" ] && snapshot=()
    qemu-system-x86_64 -machine q35 -cpu max,-smap,-smep -smp "$(nproc)" -m 6G -nographic -no-reboot \
        "${snapshot[@]}" \
        -kernel "$KIVO_VM_DIR/vmlinuz" -initrd "$KIVO_VM_DIR/initrd" \
        -append "root=/dev/vda rw console=ttyS0 quiet init=/kivo-init kivo.repo=$KIVO_VM_REPO kivo.build=$BUILD_DIR" \
        -drive "file=$KIVO_VM_DIR/disk.img,if=virtio,format=raw" \
        -virtfs "local,path=$KIVO_VM_REPO,mount_tag=repo,security_model=none,id=repo" \
        -virtfs "local,path=$BUILD_DIR,mount_tag=build,security_model=none,id=build" \
        -nic none </dev/null
    [ -f "$BUILD_DIR/vm/status" ] || { echo "vm: the machine stopped before the job ended" >&2; return 1; }
    return "$(cat "$BUILD_DIR/vm/status")"
}

# Runs a script of the shared repository inside the machine, with its arguments.
kivo_vm_run() {
    mkdir -p "$BUILD_DIR/vm"
    kivo_vm_prepare || return 1
    {
        echo "export BUILD_DIR='$BUILD_DIR' KIVO_WINEPREFIX=$KIVO_VM_PREFIX"
        echo "export KIVO_TIME_SCALE=\${KIVO_TIME_SCALE:-$KIVO_VM_TIME_SCALE}"
        # Through a pipe: Wine's console would otherwise draw on the serial terminal with
        # cursor movements instead of writing lines.
        printf 'bash'
        printf ' %q' "$@"
        echo ' 2>&1 | cat'
        echo 'exit "${PIPESTATUS[0]}"'
    } >"$BUILD_DIR/vm/job.sh"
    kivo_vm_boot
}
