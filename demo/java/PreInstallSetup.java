/** The installer's main class when it runs from media, with a mediaSpanInfo.xml beside it. */
public final class PreInstallSetup {
  private PreInstallSetup() {}

  public static void main(String[] args) {
    System.exit(DemoInstaller.install("PreInstallSetup", args));
  }
}
